fendo_test(pocket_profile_face_tests
  generate/face_test.cpp
  generate/pocket_test.cpp
  generate/profile_test.cpp
)
fendo_test(generate_2d_batch_tests generate/generate_2d_batch_test.cpp)
