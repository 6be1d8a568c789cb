# Start-up cost: a bare Qt window to compare the application with, and the probe that launches a
# program and times it to its window being mapped (both used by startup_cost.sh).
if(NOT NANSAI_WITH_QT)
  return()
endif()
find_package(Qt6 REQUIRED COMPONENTS Widgets)
find_package(X11 REQUIRED)

add_executable(startup_baseline ${CMAKE_CURRENT_LIST_DIR}/baseline.cpp)
target_link_libraries(startup_baseline PRIVATE Qt6::Widgets)

add_executable(startup_probe ${CMAKE_CURRENT_LIST_DIR}/startup_probe.cpp)
target_link_libraries(startup_probe PRIVATE X11::X11)
