# basket, order confirmation and submission
target_sources(varko_client_orders PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/sepetsayfasi.cpp ${CMAKE_CURRENT_LIST_DIR}/sepetsayfasi.h
  ${CMAKE_CURRENT_LIST_DIR}/tonaysip.cpp ${CMAKE_CURRENT_LIST_DIR}/tonaysip.h
)
# the basket's change opens the quantity dialog of the catalogue
target_link_libraries(varko_client_orders PUBLIC varko_client_catalogue)
