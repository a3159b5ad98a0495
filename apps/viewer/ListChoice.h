#pragma once
// Choosing a record of one of the panel's lists as a person does in its list window: a long
// list's scroll bar is moved to the record (the panel asks the host for its chunk, as after a
// drag), its row selected and chosen (ClasseTLista::Click, what a click or Enter on the row runs,
// also with the window closed), so the panel shows the object and raises the events a click
// raises.
#include <cstdint>

#include "hostkit/search/ListFolder.h"

namespace quindel {
class Quindel;
}

namespace quindel::viewer {

// record is 0-based in its list file; false when the list has no such record.
bool ChooseRecord(Quindel& panel, hostkit::SearchList list, std::int64_t record);

}  // namespace quindel::viewer
