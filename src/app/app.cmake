# fendo: the desktop program. The shell lives in a library so that the Qt Test suites drive
# the same frames, menus and views the program shows.
add_library(fendo_app STATIC
  ${CMAKE_CURRENT_LIST_DIR}/child_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_icons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/check_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/contour_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/conversion_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/delete_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/direction_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/feed_change_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/generate_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/layer_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/master_model_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/offset_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/optimizer_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/output_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/pencil_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/point_edit_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/transform_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/trim_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands/ring_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fendo_app.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fendo_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fendo_view_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nc_file_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_input_source.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_translations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recent_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_panes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_progress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toolbar_layout.cpp
)
set_target_properties(fendo_app PROPERTIES AUTOMOC ON)
target_link_libraries(fendo_app PUBLIC fendo_dialogs fendo_qtdraw Qt6::Widgets Qt6::PrintSupport)

add_executable(fendo ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(fendo PRIVATE fendo_app)
