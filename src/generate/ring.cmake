# The ring patterns ("방사선", "나선형") and the radial spacing ("방사선 간격조절").
target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/radial_spacing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ring_patterns.cpp
)
