// CUIAUTODETECT: the partition list comes from the host's configuration.
#include "sim/host/host_world.h"

CUIAUTODETECT* CUIAUTODETECT::GetOrCreateObject() {
    static CUIAUTODETECT detector;
    hostsim::Acquire("autodetect");
    hostsim::Record("autodetect-get");
    return &detector;
}

void CUIAUTODETECT::DeleteAutoDetect() {
    // Any number of gets is ended by one delete.
    while (hostsim::Drop("autodetect") > 0) {
    }
    hostsim::Record("autodetect-delete");
}

int CUIAUTODETECT::LinuxPartitionID2WindowsPartitionID(std::vector<std::string>& locations,
                                                       std::vector<std::string>& drives) {
    std::vector<hostsim::Partition> partitions;
    hostsim::WithConfig([&](hostsim::Config& c) { partitions = c.partitions; });
    locations.clear();
    drives.clear();
    for (const auto& partition : partitions) {
        locations.push_back(partition.location);
        drives.push_back(partition.drive);
    }
    hostsim::Record("autodetect partitions " + std::to_string(partitions.size()));
    return static_cast<int>(partitions.size());
}
