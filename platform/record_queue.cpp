// CLinuxRecordQueue: a ring of records; the filled semaphore counts stored
// records (plus at most one wake-up unit), the free one counts empty slots.
#include "platform/record_queue.h"

#include <cstring>

#include "platform/multi_wait.h"

bool CLinuxRecordQueue::Create(int capacity, int recordSize) {
    Destroy();
    if (capacity <= 0 || recordSize <= 0) return false;
    lock_.reset(LinuxCreateMutex(nullptr, 0, nullptr));
    filled_.reset(LinuxCreateSemaphore(0));
    free_.reset(LinuxCreateSemaphore(capacity));
    if (!lock_ || !filled_ || !free_) {
        Destroy();
        return false;
    }
    buffer_.assign(static_cast<size_t>(capacity) * recordSize, 0);
    capacity_ = capacity;
    recordSize_ = recordSize;
    count_ = readIndex_ = writeIndex_ = 0;
    wakePending_ = false;
    return true;
}

void CLinuxRecordQueue::Destroy() {
    std::vector<uint8_t>().swap(buffer_);
    lock_.reset();
    filled_.reset();
    free_.reset();
    capacity_ = recordSize_ = count_ = readIndex_ = writeIndex_ = 0;
}

void CLinuxRecordQueue::WaitFor(CLinuxSemaphore* semaphore) {
    CLinuxSyncObject* handles[] = {lock_.get(), semaphore};
    LinuxWaitForObjects(2, handles, true, kInfinite);
}

// A pending wake-up unit now stands for the record being stored.
void CLinuxRecordQueue::StoreCommitted() {
    writeIndex_ = Advance(writeIndex_);
    ++count_;
    if (wakePending_) {
        wakePending_ = false;
    } else {
        filled_->Release();
    }
}

int CLinuxRecordQueue::Put(const void* record) {
    WaitFor(free_.get());
    std::memcpy(Slot(writeIndex_), record, recordSize_);
    StoreCommitted();
    Unlock();
    return 1;
}

int CLinuxRecordQueue::Get(void* destination) {
    WaitFor(filled_.get());
    if (count_ == 0) {
        filled_->Release();
        Unlock();
        return 0;
    }
    if (destination != nullptr) std::memcpy(destination, Slot(readIndex_), recordSize_);
    readIndex_ = Advance(readIndex_);
    --count_;
    free_->Release();
    Unlock();
    return 1;
}

void CLinuxRecordQueue::Wake() {
    Lock();
    if (!wakePending_) {
        wakePending_ = true;
        filled_->Release();
    }
    Unlock();
}

void* CLinuxRecordQueue::Peek(int n) {
    Lock();
    void* record = nullptr;
    if (n >= 0 && n < count_) record = Slot((readIndex_ + n) % capacity_);
    Unlock();
    return record;
}

void* CLinuxRecordQueue::ReserveSlot() {
    WaitFor(free_.get());
    void* slot = Slot(writeIndex_);
    Unlock();
    return slot;
}

void CLinuxRecordQueue::CommitSlot() {
    Lock();
    StoreCommitted();
    Unlock();
}

void CLinuxRecordQueue::CancelSlot() {
    free_->Release();
}

void* CLinuxRecordQueue::AcquireHead() {
    WaitFor(filled_.get());
    void* head = nullptr;
    if (count_ > 0) {
        head = Slot(readIndex_);
    } else {
        filled_->Release();
    }
    Unlock();
    return head;
}

void CLinuxRecordQueue::ReleaseHead() {
    Lock();
    readIndex_ = Advance(readIndex_);
    --count_;
    free_->Release();
    Unlock();
}

void CLinuxRecordQueue::ReturnHead() {
    filled_->Release();
}

void CLinuxRecordQueue::Drain(const std::function<void(void*)>& callback) {
    Lock();
    while (count_ > 0) {
        filled_->Wait(0);
        if (callback) callback(Slot(readIndex_));
        readIndex_ = Advance(readIndex_);
        --count_;
        free_->Release();
    }
    readIndex_ = writeIndex_ = 0;
    Unlock();
}

// Closes the gap left by the record offset places from the oldest: the older
// records move one slot towards it and the read index follows.
void CLinuxRecordQueue::RemoveAt(int offset) {
    filled_->Wait(0);
    free_->Release();
    --count_;
    for (int i = offset; i > 0; --i) {
        const int to = (readIndex_ + i) % capacity_;
        const int from = (readIndex_ + i - 1) % capacity_;
        std::memcpy(Slot(to), Slot(from), recordSize_);
    }
    readIndex_ = Advance(readIndex_);
}

int CLinuxRecordQueue::FindAndCopy(void* destination,
                                   const std::function<bool(const void*)>& filter, bool remove) {
    Lock();
    int found = 0;
    for (int offset = 0; offset < count_; ++offset) {
        const uint8_t* record = Slot((readIndex_ + offset) % capacity_);
        if (filter && !filter(record)) continue;
        if (destination != nullptr) std::memcpy(destination, record, recordSize_);
        if (remove) RemoveAt(offset);
        found = 1;
        break;
    }
    Unlock();
    return found;
}

int CLinuxRecordQueue::Count() {
    Lock();
    const int count = count_;
    Unlock();
    return count;
}

bool CLinuxValueQueue::Peek(int n, uint32_t* value) {
    const void* record = queue_.Peek(n);
    if (record == nullptr) return false;
    std::memcpy(value, record, sizeof(*value));
    return true;
}

void CLinuxValueQueue::Drain(const std::function<void(uint32_t)>& callback) {
    queue_.Drain([&callback](void* record) {
        uint32_t value = 0;
        std::memcpy(&value, record, sizeof(value));
        if (callback) callback(value);
    });
}
