target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/cutting_data.cpp
)
