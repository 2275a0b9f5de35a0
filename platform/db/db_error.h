#pragma once

#include "db_export.h"

#include <QString>
#include <stdexcept>

namespace db {

// Every failure of the database layer (a statement the server refused, a
// malformed filter or sort text, a missing field) surfaces as this exception.
// Windows catch it in their handlers; the host reports it.
class MALVO_DB_EXPORT DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace db
