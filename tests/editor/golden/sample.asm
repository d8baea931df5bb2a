; add two numbers
        .model small
        .data
msg     db 'Hello', 0Dh, 0Ah, "$"
count   dw 10, 1010b, 0x1F
        .code
start:  mov ax, @data
        mov ds, ax
        xor cx, cx        ; clear the counter
loop1:  add cx, [count]
        jnz loop1
        int 21h
        end start
