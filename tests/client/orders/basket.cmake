varko_add_test(tst_sepetsayfasi SOURCES tst_sepetsayfasi.cpp ../catalogue/pagefixture.h
  LIBS varko_client_orders varko_client_catalogue varko_distributor Qt6::Sql TIMEOUT 300)
target_compile_definitions(tst_sepetsayfasi PRIVATE VARKO_SCREENSHOTS="${PROJECT_BINARY_DIR}/screenshots")
