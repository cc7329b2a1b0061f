// Thread messages on the layer threads' record queues.
#include "platform/thread_message.h"

#include "platform/linux_timer.h"

namespace {

CLinuxRecordQueue* QueueOf(CLinuxThread* thread) {
    return IsValidHandle(thread) ? thread->Queue() : nullptr;
}

void CopyOut(const ThreadMessage& message, uint32_t* id, uintptr_t* param1, uintptr_t* param2) {
    if (id != nullptr) *id = message.id;
    if (param1 != nullptr) *param1 = message.param1;
    if (param2 != nullptr) *param2 = message.param2;
}

bool IsStaleTimerMessage(const ThreadMessage& message) {
    if (message.id != kTimerMessage) return false;
    const auto* timer = reinterpret_cast<const CLinuxTimer*>(message.param1);
    return LinuxIsTimerActive(timer, static_cast<uint32_t>(message.param2)) == 0;
}

}  // namespace

int LinuxPostThreadMessage(CLinuxThread* thread, uint32_t id, uintptr_t param1, uintptr_t param2) {
    CLinuxRecordQueue* queue = QueueOf(thread);
    if (queue == nullptr || queue->Count() > kThreadQueuePostLimit) return 0;
    const ThreadMessage message{id, param1, param2};
    return queue->Put(&message);
}

int LinuxPeekThreadMessage(CLinuxThread* thread, uint32_t* id, uintptr_t* param1, uintptr_t* param2,
                           uint32_t, uint32_t, bool remove) {
    CLinuxRecordQueue* queue = QueueOf(thread);
    if (queue == nullptr) return 0;
    ThreadMessage message{};
    if (queue->FindAndCopy(&message, nullptr, remove) == 0) return 0;
    CopyOut(message, id, param1, param2);
    return 1;
}

int LinuxGetThreadMessage(CLinuxThread* thread, uint32_t* id, uintptr_t* param1,
                          uintptr_t* param2) {
    CLinuxRecordQueue* queue = QueueOf(thread);
    if (queue == nullptr) return 0;
    ThreadMessage message{};
    do {
        if (queue->Get(&message) == 0) return 0;
    } while (IsStaleTimerMessage(message));
    CopyOut(message, id, param1, param2);
    return 1;
}
