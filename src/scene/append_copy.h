#pragma once

template <typename Record>
Record* lastRecord(Record* head)
{
    while (head && head->next) head = head->next;
    return head;
}

// Appends a heap copy of a filled working record after `last`, the list's last record (nullptr
// for an empty list), counts it and makes it the new last. Loading keeps `last` at hand, as
// walking from the head for every record would make a file of many small records load in
// quadratic time.
template <typename Record>
Record* appendCopyAfter(Record*& head, Record*& last, float& count, const Record& record)
{
    Record* added = new Record(record);
    added->next = nullptr;
    added->prev = last;
    if (last)
        last->next = added;
    else
        head = added;
    last = added;
    count += 1.0f;
    return added;
}

// The same, finding the last record by walking from the head.
template <typename Record>
Record* appendCopy(Record*& head, float& count, const Record& record)
{
    Record* last = lastRecord(head);
    return appendCopyAfter(head, last, count, record);
}
