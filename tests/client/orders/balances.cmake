varko_add_test(tst_bakiyesiparisler SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_bakiyesiparisler.cpp ${PROJECT_SOURCE_DIR}/tests/client/rep/deskfixture.h
               LIBS varko_client_orders varko_distributor TIMEOUT 300)
