#pragma once

#include <QString>

// Fixed texts shared by several windows.
namespace texts {
inline const QString kBaglantiKurulamiyor = QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");
inline const QString kProgramAdi = QStringLiteral("Varko B2B Programı");
} // namespace texts
