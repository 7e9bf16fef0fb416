#include "transitions/effect_geometry.h"

StepSizes ComputeStepSizes(const EffectGeometry& effect, const Scene& scene, bool slow,
                           bool opening) {
  const int32_t divisor = slow ? effect.slowDivisor : effect.fastDivisor;
  StepSizes steps{scene.screenWidth / divisor, scene.screenHeight / divisor};
  if (!opening) steps = StepSizes{-steps.sx, -steps.sy};
  return steps;
}
