target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/feed_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/machine_condition_ranges.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qel_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transfer_rules.cpp
)
