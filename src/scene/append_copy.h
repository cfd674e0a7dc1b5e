#pragma once

// Appends a heap copy of a filled working record to the end of a scene list and counts it.
template <typename Record>
Record* appendCopy(Record*& head, float& count, const Record& record)
{
    Record* added = new Record(record);
    added->next = nullptr;
    Record* last = head;
    while (last && last->next) last = last->next;
    added->prev = last;
    if (last)
        last->next = added;
    else
        head = added;
    count += 1.0f;
    return added;
}
