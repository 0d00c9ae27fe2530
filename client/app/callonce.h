#pragma once

#include "errorreport.h"

#include "client/server/serverconnection.h"
#include "client/server/servermethods.h"

// A call over a connection opened directly, once, without the retries of
// BaglantiAc, and closed again afterwards. A failure goes to the program's
// error report and the caller skips what follows (false).
template<class Call>
bool callOnce(ServerConnection &connection, Call &&call)
{
    try {
        connection.open();
        TServerMethods1Client proxy(&connection);
        call(proxy);
        connection.close();
        return true;
    } catch (...) {
        connection.close();
        errorreport::show(std::current_exception());
        return false;
    }
}
