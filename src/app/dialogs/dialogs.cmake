# The dialogs of the desktop program.

add_library(fendo_dialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/about_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/checked_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_box_prompts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ncdata_info_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_field.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tool_shape_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/value_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/work_environment_dialog.cpp
)
set_target_properties(fendo_dialogs PROPERTIES AUTOMOC ON)
target_link_libraries(fendo_dialogs PUBLIC fendo_engine Qt6::Widgets)
