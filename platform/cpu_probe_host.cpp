// The CPU probe of the running machine: the CPUID instruction and uname().
#include <sys/utsname.h>

#include <atomic>

#include "platform/cpu_info.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace {

class HostProbe final : public CpuProbe {
  public:
    bool HasCpuid() const override {
#if defined(__x86_64__)
        return true;
#elif defined(__i386__)
        // Does the EFLAGS bit 21 toggle; 0 means the instruction is missing.
        return __get_cpuid_max(0, nullptr) != 0;
#else
        return false;
#endif
    }

    CpuidRegs Cpuid(uint32_t leaf) const override {
        CpuidRegs regs{};
#if defined(__i386__) || defined(__x86_64__)
        __cpuid(leaf, regs.eax, regs.ebx, regs.ecx, regs.edx);
#else
        (void)leaf;
#endif
        return regs;
    }

    std::string KernelRelease() const override {
        utsname names{};
        if (uname(&names) != 0) return std::string();
        return names.release;
    }
};

std::atomic<const CpuProbe*> g_installed{nullptr};

}  // namespace

const CpuProbe& HostCpuProbe() {
    static const HostProbe probe;
    return probe;
}

const CpuProbe* InstallCpuProbe(const CpuProbe* probe) {
    return g_installed.exchange(probe);
}

const CpuProbe& CurrentCpuProbe() {
    const CpuProbe* probe = g_installed.load();
    return probe ? *probe : HostCpuProbe();
}
