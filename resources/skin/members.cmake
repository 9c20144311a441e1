# Members of the internal skin package, in their stored order.
set(GLYPHORA_INTERNAL_SKIN_MEMBERS
  Options.dat ButtonHuge.bmp Master.bmp Exbor.png
  GlowBtn.png GlowClose.png GlowH.png GlowMax.png GlowMin.png GlowNorm.png GlowWhite.png)

# Packs the internal skin from its sources into `out`, a copy for tests and
# benchmarks; `target` is the custom target that makes it.
function(glyphora_pack_internal_skin target out)
  set(members ${GLYPHORA_INTERNAL_SKIN_MEMBERS})
  list(TRANSFORM members PREPEND ${CMAKE_SOURCE_DIR}/resources/skin/)
  add_custom_command(OUTPUT ${out}
    COMMAND ${GLYPHORA_TOOL_skinpack} ${out} ${members}
    DEPENDS skinpack ${GLYPHORA_TOOL_skinpack} ${members}
    COMMENT "Packing the internal skin for ${target}" VERBATIM)
  add_custom_target(${target} DEPENDS ${out})
endfunction()
