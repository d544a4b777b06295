# The dialogs of the desktop program.

add_library(fendo_dialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/about_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/arc_convert_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/checked_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/condition_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cutting_condition_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/feed_change_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/echo_layer_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edit_value_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/feed_file_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/get_feed_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layer_colour_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layer_copy_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layer_info_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layer_header_fields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layer_output_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/machine_feed_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/master_model_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_box_prompts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nc_output_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ncdata_info_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_field.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_form_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/options_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plunge_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/point_file_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/post_output_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preflight_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qel_settings_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reverse_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reverse_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/template_section_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tool_shape_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transfer_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/value_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/work_environment_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/work_layer_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/z_up_dialog.cpp
  # point edit and corner regions
  ${CMAKE_CURRENT_LIST_DIR}/corner_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/point_edit_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/move_copy_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sort_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/radial_spacing_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ring_dialog.cpp
  # contours
  ${CMAKE_CURRENT_LIST_DIR}/contour_dialog.cpp
  # pencil paths
  ${CMAKE_CURRENT_LIST_DIR}/pencil_dialog.cpp
  # toolpath generation
  ${CMAKE_CURRENT_LIST_DIR}/face_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pocket_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profile_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shape_dialog.cpp
)
set_target_properties(fendo_dialogs PROPERTIES AUTOMOC ON)
target_link_libraries(fendo_dialogs PUBLIC fendo_engine Qt6::Widgets)
