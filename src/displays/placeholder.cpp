// Keeps the library buildable until its first source lands.
