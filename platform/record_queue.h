// A bounded first-in-first-out queue of fixed-size records for passing records
// between threads, built from the layer's mutex and two counting semaphores.
//
// Any number of producers and consumers may use it. Record data is touched only
// under the queue's lock, except through the pointers of ReserveSlot,
// AcquireHead and Peek, whose user owns the slot until it commits or releases
// it; one reservation and one acquired head at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/linux_mutex.h"
#include "platform/linux_semaphore.h"

class CLinuxRecordQueue {
  public:
    CLinuxRecordQueue() = default;
    ~CLinuxRecordQueue() { Destroy(); }
    CLinuxRecordQueue(const CLinuxRecordQueue&) = delete;
    CLinuxRecordQueue& operator=(const CLinuxRecordQueue&) = delete;

    // False when an object or the buffer cannot be made.
    bool Create(int capacity, int recordSize);
    void Destroy();

    // Blocks while the queue is full; returns 1.
    int Put(const void* record);
    // Blocks while the queue is empty. 1 with the oldest record copied to
    // destination (if given) and removed; 0 after a Wake with nothing stored.
    int Get(void* destination);
    // Makes every blocked or later Get return 0 until the next Put.
    void Wake();
    // The n-th oldest record, or null; valid while nobody removes it.
    void* Peek(int n);

    // Two-step put: a free slot to fill, then CommitSlot (or CancelSlot).
    void* ReserveSlot();
    void CommitSlot();
    void CancelSlot();
    // Two-step get: the oldest record (null after a Wake), then ReleaseHead
    // to remove it or ReturnHead to leave it.
    void* AcquireHead();
    void ReleaseHead();
    void ReturnHead();

    // Hands every record to callback (if any), oldest first, and empties the queue.
    void Drain(const std::function<void(void*)>& callback);
    // Copies the oldest record the filter accepts (all without a filter),
    // removing it if asked and keeping the others in order. 1 if found, 0 if not.
    int FindAndCopy(void* destination, const std::function<bool(const void*)>& filter, bool remove);

    int Count();
    int Capacity() const { return capacity_; }
    int RecordSize() const { return recordSize_; }

  private:
    uint8_t* Slot(int index) { return buffer_.data() + static_cast<size_t>(index) * recordSize_; }
    int Advance(int index) const { return index + 1 == capacity_ ? 0 : index + 1; }
    void WaitFor(CLinuxSemaphore* semaphore);
    void Lock() { lock_->Wait(kInfinite); }
    void Unlock() { lock_->Release(); }
    void StoreCommitted();
    void RemoveAt(int offset);

    std::unique_ptr<CLinuxMutex> lock_;
    std::unique_ptr<CLinuxSemaphore> filled_;
    std::unique_ptr<CLinuxSemaphore> free_;
    std::vector<uint8_t> buffer_;
    int capacity_ = 0;
    int recordSize_ = 0;
    int count_ = 0;
    int readIndex_ = 0;
    int writeIndex_ = 0;
    bool wakePending_ = false;
};

// The same queue over 32-bit values.
class CLinuxValueQueue {
  public:
    bool Create(int capacity) { return queue_.Create(capacity, sizeof(uint32_t)); }
    int Put(uint32_t value) { return queue_.Put(&value); }
    int Get(uint32_t* value) { return queue_.Get(value); }
    // False when there is no n-th value.
    bool Peek(int n, uint32_t* value);
    void Drain(const std::function<void(uint32_t)>& callback);
    void Wake() { queue_.Wake(); }
    int Count() { return queue_.Count(); }

  private:
    CLinuxRecordQueue queue_;
};
