// Identifiers of the screens and of the scenarios, shared by the start-up and the screens.
#pragma once

struct Constants {
    // Screen ids (each screen's `_id`).
    static constexpr int SPLASH = 0;
    static constexpr int MENU = 1;
    static constexpr int GAME = 2;
    static constexpr int SETTINGS = 3;
    static constexpr int INTERMISSION = 4;
    static constexpr int WORKLOAD = 5;
    static constexpr int AIRPORT_SELECT = 6;
    static constexpr int HELP = 7;
    static constexpr int CREDITS = 8;
    static constexpr int SCORE = 9;
    static constexpr int STORY_BREAK = 10;

    // Scenario ids (the grid's cells and the score board's mode field).
    static constexpr int CALM_DAY = 0;
    static constexpr int UNITED_NATIONS = 1;
    static constexpr int BIRD_MIGRATION = 2;
    static constexpr int MEDICAL_EMERGENCY = 3;
    static constexpr int FORGOTTEN_PORT = 4;
    static constexpr int GO_AROUND = 5;
    static constexpr int TRANSIT_FLIGHTS = 6;
    static constexpr int AIR_SHOW = 7;
};
