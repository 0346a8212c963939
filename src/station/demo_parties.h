// The fixed cast of the demo data: stations, their regular customers, goods, vehicles, people.
#pragma once

#include <QString>

#include <vector>

namespace vemo {

struct DemoParty {
  const char* name;
  const char* address;  // "" where the clerk never recorded it
  const char* phone;
  const char* mobile;
};

struct DemoStation {
  const char* name;
  const char* code;  // prefix of the waybill numbers issued there
  std::vector<DemoParty> customers;
};

struct DemoGoods {
  const char* name;
  const char* packing;
  double tons_per_piece;
  double cubic_per_piece;
};

struct DemoVehicle {
  const char* plate;
  bool own;
};

struct DemoDriver {
  const char* name;
  const char* phone;
};

const std::vector<DemoStation>& demo_stations();
const std::vector<DemoGoods>& demo_goods();
const std::vector<DemoVehicle>& demo_vehicles();
const std::vector<DemoDriver>& demo_drivers();

// A text column value: NULL for a detail the customer never gave.
inline QString party_text(const char* text) { return QString::fromUtf8(text); }

}  // namespace vemo
