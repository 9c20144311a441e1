# Members of the internal skin package, in their stored order.
set(GLYPHORA_INTERNAL_SKIN_MEMBERS
  Options.dat ButtonHuge.bmp Master.bmp Exbor.png
  GlowBtn.png GlowClose.png GlowH.png GlowMax.png GlowMin.png GlowNorm.png GlowWhite.png)
