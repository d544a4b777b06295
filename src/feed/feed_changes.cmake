target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/arc_radius_feed.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ff_cut.cpp
  ${CMAKE_CURRENT_LIST_DIR}/machine_condition_feed.cpp
  ${CMAKE_CURRENT_LIST_DIR}/machine_feed_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/motion_planner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/move_length_feed.cpp
  ${CMAKE_CURRENT_LIST_DIR}/set_all_feeds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_feed_limits.cpp
)
