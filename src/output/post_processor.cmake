target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/post_processor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/post_template.cpp
  ${CMAKE_CURRENT_LIST_DIR}/template_expansion.cpp
)
