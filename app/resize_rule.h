#pragma once
// Where the resize rule of the main window puts things for a given outer window size.

struct Form1Layout {
    // The window's own size after the rule (it never goes below 362 x 237) and whether
    // each had to be set.
    int window_width = 0;
    int window_height = 0;
    bool set_width = false;
    bool set_height = false;
    int list_height = 0;        // DirectoryListBox1 and Memo1
    int label4_top = 0;
    int memo2_top = 0;
    int button_top = 0;         // Button1 and Button2
    int check_box1_top = 0;
    int check_box2_top = 0;
    int pattern_width = 0;      // ComboBox1 and Memo1
    int memo2_width = 0;
};

Form1Layout Form1LayoutFor(int window_width, int window_height);
