target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/face.cpp
  ${CMAKE_CURRENT_LIST_DIR}/generated_path.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pocket.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rectangle_loop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rectangle_shape.cpp
  ${CMAKE_CURRENT_LIST_DIR}/z_levels.cpp
)
