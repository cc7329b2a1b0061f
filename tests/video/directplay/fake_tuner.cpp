// The tuner service stand-in of the direct-play tests.
#include "tests/video/directplay/fake_tuner.h"

namespace faketuner {
namespace {

void Note(const std::string& call) {
    std::lock_guard<std::mutex> lock(Tuner().mutex);
    Tuner().calls.push_back(call);
}

int GetDriverId() {
    Note("ZMP_GetDriverID");
    return Tuner().driverId;
}

int GetFormatSize(int* format, int* width, int* height) {
    Note("ZMP_GetTVFormat_Size");
    *format = 1;
    *width = Tuner().width;
    *height = Tuner().height;
    return 0;
}

int InstallCallback(ZmpTunerFrameCallback fn, void* context, int client) {
    Note("ZMP_InstallTunerCallBackFunction " + std::to_string(client));
    Tuner().context = context;
    Tuner().callback = fn;
    return 0;
}

int UninstallCallback(int client) {
    Note("ZMP_UninstallTunerCallBackFunction " + std::to_string(client));
    Tuner().callback = nullptr;
    return 0;
}

}  // namespace

State& Tuner() {
    static State state;
    return state;
}

void Install(int driverId, int width, int height) {
    Tuner().driverId = driverId;
    Tuner().width = width;
    Tuner().height = height;
    Tuner().callback = nullptr;
    Tuner().context = nullptr;
    {
        std::lock_guard<std::mutex> lock(Tuner().mutex);
        Tuner().calls.clear();
    }
    static const TunerFunctions functions = {GetDriverId, GetFormatSize, InstallCallback,
                                             UninstallCallback};
    InstallTunerFunctions(&functions);
}

void Uninstall() {
    InstallTunerFunctions(nullptr);
}

std::vector<std::string> Calls() {
    std::lock_guard<std::mutex> lock(Tuner().mutex);
    return Tuner().calls;
}

bool Deliver(unsigned char* frame) {
    ZmpTunerFrameCallback fn = Tuner().callback;
    if (fn == nullptr) return false;
    fn(Tuner().context, frame);
    return true;
}

}  // namespace faketuner
