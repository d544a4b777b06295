target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/contour_linking.cpp
  ${CMAKE_CURRENT_LIST_DIR}/contour_slicing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/contours.cpp
)
