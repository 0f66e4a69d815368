#pragma once

class lumo_test;

// The entry's steps between building the window and running the event loop:
// show it, then give it the program's title in place of the form's "lumo_test".
void lumo_start(lumo_test &window);
