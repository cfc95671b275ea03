<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Login</name>
    <message>
        <source>Hello</source>
        <translation>Hello there</translation>
    </message>
</context>
</TS>
