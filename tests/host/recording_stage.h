#pragma once
// A PieceStage that places windows exactly where they are asked to go and records every
// call, for checking the animation loop and the effects' geometry without windows.
#include <cstdint>
#include <string>
#include <vector>

#include "transitions/animation.h"

class RecordingStage final : public PieceStage {
 public:
  RecordingStage(int pieceCount, int32_t width, int32_t height) : count_(pieceCount) {
    for (PieceRect& r : rects_) r = PieceRect{0, 0, width, height};
  }

  void Place(int piece, int32_t x, int32_t y) {
    PieceRect& r = rects_[piece];
    r = PieceRect{x, y, x + r.right - r.left, y + r.bottom - r.top};
  }
  PieceRect RectOf(int piece) const { return rects_[piece]; }
  bool Visible(int piece) const { return visible_[piece]; }
  bool Destroyed(int piece) const { return destroyed_[piece]; }
  int Count(const std::string& call) const {
    int n = 0;
    for (const std::string& c : calls_) n += c == call;
    return n;
  }
  const std::vector<std::string>& Calls() const { return calls_; }
  std::vector<int> Sounds() const { return sounds_; }

  bool slow = false;
  uint32_t tick = 1000;
  uint32_t tickAdvance = 0;  // per Tick() call

  PieceRect ReadRect(int piece) override { return rects_[piece]; }
  void Move(int piece, PiecePoint p) override { Moved("move", piece, p); }
  void Slide(int piece, PiecePoint p) override { Moved("slide", piece, p); }
  void Show(int piece) override {
    visible_[piece] = true;
    Record("show", piece);
  }
  void Hide(int piece) override {
    visible_[piece] = false;
    Record("hide", piece);
  }
  void Repaint(int piece) override { Record("repaint", piece); }
  void SetRegion(int piece, PieceRegion region, int32_t, int32_t) override {
    regions_[piece] = region;
    Record("region", piece);
  }
  void SetWholeEllipse(int piece, int32_t, int32_t) override { Record("ellipse", piece); }
  void MoveAndSize(int piece, PieceRect r) override {
    rects_[piece] = r;
    Record("place", piece);
  }
  void Destroy(int piece) override {
    destroyed_[piece] = true;
    Record("destroy", piece);
  }
  uint32_t Tick() override {
    const uint32_t now = tick;
    tick += tickAdvance;
    return now;
  }
  bool SlowMachine() override { return slow; }
  void PlaySound(int id) override {
    sounds_.push_back(id);
    Record("sound", id);
  }
  PieceRegion RegionOf(int piece) const { return regions_[piece]; }
  // Where the last animation step put a piece, before the end of an open re-placed it.
  PiecePoint LastMove(int piece) const { return lastMove_[piece]; }

 private:
  void Moved(const char* what, int piece, PiecePoint p) {
    Place(piece, p.x, p.y);
    lastMove_[piece] = p;
    Record(what, piece);
  }
  void Record(const char* what, int arg) { calls_.push_back(std::string(what) + " " + std::to_string(arg)); }

  int count_;
  PieceRect rects_[4];
  PieceRegion regions_[4] = {};
  PiecePoint lastMove_[4] = {};
  bool visible_[4] = {};
  bool destroyed_[4] = {};
  std::vector<std::string> calls_;
  std::vector<int> sounds_;
};

// Piece windows as an effect's create step leaves them: hidden at their start positions.
inline RecordingStage StageAtStart(const EffectGeometry& effect, const Scene& scene) {
  RecordingStage stage(effect.pieceCount, scene.pictureWidth, scene.pictureHeight);
  for (int i = 0; i < effect.pieceCount; ++i) {
    const PiecePoint p = effect.start(i, scene);
    stage.Place(i, p.x, p.y);
  }
  return stage;
}
