#include "transitions/animation.h"

#include "media/resource_ids.h"
#include "shell/launcher_limits.h"

namespace {

struct Run {
  const EffectGeometry& effect;
  const Scene& scene;
  PieceStage& stage;
  bool opening;
  PieceRect rects[kMaxPieceCount];
  int32_t wr, hr;
};

void ReadAll(Run& run) {
  for (int i = 0; i < run.effect.pieceCount; ++i) run.rects[i] = run.stage.ReadRect(i);
  run.wr = run.rects[0].right - run.rects[0].left;
  run.hr = run.rects[0].bottom - run.rects[0].top;
}

void SetRegions(Run& run) {
  const int count = run.opening ? run.effect.pieceCount : 1;  // the others keep theirs
  for (int i = 0; i < count; ++i) run.stage.SetRegion(i, run.effect.region(i, run.wr, run.hr), run.wr, run.hr);
}

// The close first lays the other pieces over their parts of the launcher window.
void PlaceForClose(Run& run) {
  for (int i = 1; i < run.effect.pieceCount; ++i) {
    const PiecePoint offset = run.effect.closeOffset(i, run.wr, run.hr);
    run.stage.Slide(i, PiecePoint{run.rects[0].left + offset.x, run.rects[0].top + offset.y});
    run.stage.Show(i);
    run.stage.Repaint(i);
    run.rects[i] = run.stage.ReadRect(i);
  }
}

bool Continues(const Run& run, StepSizes steps) {
  return run.opening ? run.effect.openContinues(run.rects, steps, run.scene)
                     : run.effect.closeContinues(run.rects, run.scene);
}

// Every new position comes from the rectangle read back after the previous move, so the
// animation follows where the platform really put each window.
// The launcher window becomes active while still hidden, when its first button takes the
// focus; not being the foreground window yet, it is told its caption is inactive
// (WM_NCACTIVATE FALSE), and only a real change of activation corrects that. So the
// open's first step activates each piece as it shows it, the end of the open activates
// the launcher window again, and every other step only slides: a handful of activations
// per open, however many steps the screen asks for.
void TakeStep(Run& run, StepSizes steps, bool firstStep) {
  for (int i = 0; i < run.effect.pieceCount; ++i) {
    const PiecePoint delta = run.effect.step(i, steps, run.opening);
    const PiecePoint to{run.rects[i].left + delta.x, run.rects[i].top + delta.y};
    if (run.opening && firstStep) {
      run.stage.Move(i, to);
      run.stage.Show(i);
    } else {
      run.stage.Slide(i, to);
    }
    run.stage.Repaint(i);
    run.rects[i] = run.stage.ReadRect(i);
  }
}

// The launcher window takes the pieces' place, centred, with the whole ellipse. An open
// that took no step (a screen too small for the picture) never showed it: show it here,
// so the launcher never runs without a visible window.
void EndOpen(Run& run, bool stepTaken) {
  for (int i = 1; i < run.effect.pieceCount; ++i) run.stage.Hide(i);
  const Scene& s = run.scene;
  run.stage.SetWholeEllipse(0, s.pictureWidth, s.pictureHeight);
  const int32_t left = (s.screenWidth - s.pictureWidth) / 2;
  const int32_t top = (s.screenHeight - s.pictureHeight) / 2;
  run.stage.MoveAndSize(0, PieceRect{left, top, left + s.pictureWidth, top + s.pictureHeight});
  if (!stepTaken) run.stage.Show(0);
  run.stage.Repaint(0);
  run.stage.PlaySound(kSoundReady);
}

void EndClose(Run& run) {
  for (int i = 1; i < run.effect.pieceCount; ++i) run.stage.Destroy(i);
}

}  // namespace

int RunAnimation(const EffectGeometry& effect, int32_t direction, const Scene& scene,
                 PieceStage& stage) {
  Run run{effect, scene, stage, direction == 1, {}, 0, 0};
  ReadAll(run);
  const uint32_t startTick = stage.Tick();
  stage.PlaySound(run.opening ? kSoundOpen : kSoundClose);
  const StepSizes steps = ComputeStepSizes(effect, scene, stage.SlowMachine(), run.opening);
  SetRegions(run);
  if (!run.opening) PlaceForClose(run);

  int stepCount = 0;
  while (Continues(run, steps)) {
    TakeStep(run, steps, stepCount == 0);
    ++stepCount;
    if (static_cast<uint32_t>(stage.Tick() - startTick) > kAnimationTimeLimitMs) break;
  }

  if (run.opening)
    EndOpen(run, stepCount > 0);
  else
    EndClose(run);
  return stepCount;
}
