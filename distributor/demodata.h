#pragma once

#include <QList>
#include <QString>

namespace distributor {

class Store;

enum class DataSize { Small, Large };

// The demo sign-ins. Each device identifier is registered for its user;
// any other identifier is unknown to the distributor.
struct DemoUser
{
    QString device;
    QString name;     // FADI, the user name typed at sign-in
    QString password; // FSIFRE
    int type;         // FMusteriTipi
    QString role;     // what the user shows, for the help text
};
const QList<DemoUser> &demoUsers();
// the help text's table of demo users, one line each
QString demoUsersText();

int stockCountFor(DataSize size);

// Creates the tables and fills them with the deterministic demo data, all
// in one transaction: a store is either seeded completely or not at all.
void seedStore(Store &store, DataSize size);

} // namespace distributor
