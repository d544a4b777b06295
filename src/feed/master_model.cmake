target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/master_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/master_lookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/master_model_build.cpp
)
