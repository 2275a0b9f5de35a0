#pragma once

namespace db {
class Connection;
}

namespace host {

// Puts a scan (and for some a note) into the document store for every
// seventh demo company and links it to the company and its first document,
// so the linked-files window has something to show. A file of an earlier
// run is written again; a store that cannot be written is left alone.
void writeDemoFiles(db::Connection &connection);

} // namespace host
