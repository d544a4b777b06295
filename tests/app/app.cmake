# The desktop program's Qt Test suites: the dialogs on their own, then the frame and the view
# of the whole program.
fendo_qt_test(dialogs_tests app/dialogs_test.cpp)
target_link_libraries(dialogs_tests PRIVATE fendo_dialogs)

fendo_qt_test(frame_tests app/frame_test.cpp)
target_link_libraries(frame_tests PRIVATE fendo_app)

fendo_qt_test(view_tests app/view_test.cpp)
target_link_libraries(view_tests PRIVATE fendo_app)
