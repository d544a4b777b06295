target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/delete_by_angle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/delete_by_length.cpp
  ${CMAKE_CURRENT_LIST_DIR}/delete_region.cpp
  ${CMAKE_CURRENT_LIST_DIR}/delete_selection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edit_commit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/motion_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/normalize_plunges.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_delete.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plunge_change.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plunge_entries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/point_delete.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reverse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/start_point.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subdivision.cpp
  ${CMAKE_CURRENT_LIST_DIR}/z_up.cpp
)
