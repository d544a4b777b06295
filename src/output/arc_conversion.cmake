target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/arc_convert_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/arc_convert_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/arcs_to_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/conversion_progress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filter_arcs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filter_linear.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fit_arc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lines_to_arcs.cpp
)
