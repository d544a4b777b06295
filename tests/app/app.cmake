# The desktop program's Qt Test suites: the dialogs on their own, then the frame and the view
# of the whole program.
fendo_qt_test(dialogs_tests app/dialogs_test.cpp)
target_link_libraries(dialogs_tests PRIVATE fendo_dialogs)

fendo_qt_test(frame_tests app/frame_test.cpp)
target_link_libraries(frame_tests PRIVATE fendo_app)

fendo_qt_test(view_tests app/view_test.cpp)
target_link_libraries(view_tests PRIVATE fendo_app)

fendo_qt_test(conversion_tests app/conversion_test.cpp)
target_link_libraries(conversion_tests PRIVATE fendo_app)

fendo_qt_test(output_tests app/output_test.cpp)
target_link_libraries(output_tests PRIVATE fendo_app fendo_cli)

fendo_qt_test(optimizer_tests app/optimizer_test.cpp)
target_link_libraries(optimizer_tests PRIVATE fendo_app fendo_cli)

fendo_qt_test(layers_tests app/layers_test.cpp)
target_link_libraries(layers_tests PRIVATE fendo_app fendo_cli)

fendo_qt_test(edit_commands_tests app/edit_commands_test.cpp)
target_link_libraries(edit_commands_tests PRIVATE fendo_app fendo_cli)

fendo_qt_test(preflight_tests app/preflight_test.cpp)
target_link_libraries(preflight_tests PRIVATE fendo_app)

fendo_qt_test(point_edit_commands_tests app/point_edit_commands_test.cpp)
target_link_libraries(point_edit_commands_tests PRIVATE fendo_app fendo_cli)
fendo_qt_test(transform_commands_tests app/transform_commands_test.cpp)
target_link_libraries(transform_commands_tests PRIVATE fendo_app fendo_cli)
fendo_qt_test(trim_commands_tests app/trim_commands_test.cpp)
target_link_libraries(trim_commands_tests PRIVATE fendo_app fendo_cli)
fendo_qt_test(offset_commands_tests app/offset_commands_test.cpp)
target_link_libraries(offset_commands_tests PRIVATE fendo_app fendo_cli)
fendo_qt_test(pencil_commands_tests app/pencil_commands_test.cpp)
target_link_libraries(pencil_commands_tests PRIVATE fendo_app fendo_cli)
