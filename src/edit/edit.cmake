target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/normalize_plunges.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_delete.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plunge_change.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plunge_entries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reverse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/start_point.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subdivision.cpp
  ${CMAKE_CURRENT_LIST_DIR}/z_up.cpp
)
