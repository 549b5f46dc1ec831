// Forwarding header for files that still include the controls' former
// common header; new code includes the model or helper it uses.
#pragma once

#include "combo_box_model.hpp"
#include "control_ids.hpp"
#include "item_list.hpp"
#include "list_box_model.hpp"
#include "meter_model.hpp"
#include "selection_values.hpp"
#include "window_units.hpp"
