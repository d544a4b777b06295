fendo_qt_test(qtdraw_tests qtdraw/qtdraw_test.cpp)
target_link_libraries(qtdraw_tests PRIVATE fendo_qtdraw)
