target_sources(varko_client_orders PRIVATE
  bakiyesiparisler.cpp bakiyesiparisler.h
  bakiyedegistir.cpp bakiyedegistir.h
  fiyatdegistir.cpp fiyatdegistir.h
  balancespage.cpp balancespage.h
)
