# The pre-flight check of "공구경로 체크".
target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/preflight_check.cpp
)
