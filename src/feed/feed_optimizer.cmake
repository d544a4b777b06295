target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/arc_corner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/corner_pass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/corner_walks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/feed_by_weights.cpp
  ${CMAKE_CURRENT_LIST_DIR}/feed_optimizer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/feed_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/feed_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/master_pass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/optimizer_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/output_stage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/short_cruise_pass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/slope_pass.cpp
)
