target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/delete_by_angle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/delete_by_length.cpp
  ${CMAKE_CURRENT_LIST_DIR}/delete_region.cpp
  ${CMAKE_CURRENT_LIST_DIR}/delete_selection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/echo_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edit_commit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layer_copy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layer_listing.cpp
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
  ${CMAKE_CURRENT_LIST_DIR}/work_layer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/z_up.cpp
  # point edit, rapid change by window, contour close and corner regions
  ${CMAKE_CURRENT_LIST_DIR}/contour_close.cpp
  ${CMAKE_CURRENT_LIST_DIR}/corner_region.cpp
  ${CMAKE_CURRENT_LIST_DIR}/point_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rapid_window.cpp
)
