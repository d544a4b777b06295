target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/preflight_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/source_constructs.cpp
)
