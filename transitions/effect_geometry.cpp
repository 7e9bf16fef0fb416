#include "transitions/effect_geometry.h"

#include "shell/screen_scale.h"

StepSizes ComputeStepSizes(const EffectGeometry& effect, const Scene& scene, bool slow,
                           bool opening) {
  const int32_t divisor = slow ? effect.slowDivisor : effect.fastDivisor;
  const int32_t dpi = scene.dpi;
  StepSizes steps{ScaleToDpi(UnscaleFromDpi(scene.screenWidth, dpi) / divisor, dpi),
                  ScaleToDpi(UnscaleFromDpi(scene.screenHeight, dpi) / divisor, dpi)};
  if (!opening) steps = StepSizes{-steps.sx, -steps.sy};
  return steps;
}
