fendo_test(pocket_profile_face_tests
  generate/face_test.cpp
  generate/pocket_test.cpp
  generate/profile_test.cpp
)
