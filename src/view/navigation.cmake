# The toolpath view's navigation: directions, zoom and pan, picking and selection, and the
# handling of the mouse and the keys.
target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/centre_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/navigation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_span.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picking.cpp
  ${CMAKE_CURRENT_LIST_DIR}/selection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view_input.cpp
)
