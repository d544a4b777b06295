# The interactive framework of the editing commands: the input the loops poll, the path, point,
# window and polygon loops, undo and redo, the arc guard and the tool simulation.
target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/arc_guard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/delete_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input_source.cpp
  ${CMAKE_CURRENT_LIST_DIR}/latched_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layer_pick.cpp
  ${CMAKE_CURRENT_LIST_DIR}/offset_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_loop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/region_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reverse_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/start_point_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tool_simulation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trim_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trim_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/undo_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/z_up_command.cpp
  # point edit and corner regions
  ${CMAKE_CURRENT_LIST_DIR}/corner_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/point_edit_commands.cpp
)
