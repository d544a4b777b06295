target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/echo_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layer_copy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layer_listing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_delete.cpp
  ${CMAKE_CURRENT_LIST_DIR}/work_layer.cpp
)
