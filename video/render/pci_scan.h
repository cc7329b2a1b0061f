// The display controller on the PCI bus: a walk of the per-device
// configuration files (root "/proc/bus/pci", or the directory named by the
// environment variable MIROVA_PCI_ROOT, so tests build fake trees). Only
// function 0 of a slot counts, only VGA-compatible controllers (class word
// 0x0300), and the last one the walk reaches wins.
#pragma once

#include <cstdint>
#include <string>

struct PciDisplay {
    int32_t vendor = 0xFFFF;
    int32_t device = 0xFFFF;
    bool found = false;
};

std::string PciRoot();

// Walks root; `previous` gives the ids when nothing is found (the vendor id
// survives from one scan to the next).
PciDisplay ScanPciDisplay(const std::string& root, const PciDisplay& previous);
