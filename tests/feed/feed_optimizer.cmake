fendo_test(feed_optimizer_tests feed/feed_optimizer_test.cpp)
fendo_test(feed_report_tests feed/feed_report_test.cpp)
