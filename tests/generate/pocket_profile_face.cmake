fendo_test(pocket_profile_face_tests
  generate/face_test.cpp
  generate/pocket_test.cpp
  generate/profile_test.cpp
)
fendo_test(generate_2d_batch_tests generate/generate_2d_batch_test.cpp)
# The three commands through their dialogs, against the batch verb.
fendo_qt_test(generate_2d_app_tests app/generate_2d_test.cpp)
target_link_libraries(generate_2d_app_tests PRIVATE fendo_app fendo_cli)
