#include "db_error.h"

namespace db {

DbError::DbError(const QString &message)
    : std::runtime_error(message.toStdString()),
      m_message(message)
{}

} // namespace db
