// CZAQLangTrans: the preferred language comes from the host's configuration, the
// current one lives in the host's state.
#include "sim/host/host_world.h"

CZAQLangTrans* CZAQLangTrans::GetOrCreateObject() {
    static CZAQLangTrans language;
    hostsim::Acquire("language");
    hostsim::Record("lang-get");
    return &language;
}

void CZAQLangTrans::DestroyObject() {
    hostsim::Record(hostsim::Drop("language") < 0 ? "lang-destroy unmatched" : "lang-destroy");
}

int CZAQLangTrans::GetPreferLangID() {
    int id = 0;
    hostsim::WithConfig([&](hostsim::Config& c) { id = c.preferredLanguage; });
    hostsim::Record("lang prefer " + std::to_string(id));
    return id;
}

int CZAQLangTrans::GetCurrentLangID() {
    int id = 0;
    hostsim::WithState([&](hostsim::State& s) { id = s.language; });
    hostsim::Record("lang current " + std::to_string(id));
    return id;
}

int CZAQLangTrans::SetCurrentLangID(int id) {
    hostsim::WithState([&](hostsim::State& s) { s.language = id; });
    hostsim::Record("lang set " + std::to_string(id));
    return 0;
}
