fendo_test(feed_changes_tests feed/feed_changes_test.cpp)
