target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/output_file.cpp
)
