target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/arc_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/format_increment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nc_dialect_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nc_output_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nc_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nc_writer_heidenhain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nc_writer_iso.cpp
  ${CMAKE_CURRENT_LIST_DIR}/arc_fidelity.cpp
  ${CMAKE_CURRENT_LIST_DIR}/source_start_end.cpp
)
